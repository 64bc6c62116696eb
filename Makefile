# Kelvo Plot
#   make        builds the program at build/kelvoplot (installs missing Debian packages first)
#   make run    builds and runs it: the console window, or without a display the example gallery
#   make test   builds everything, runs all tests, then the core tests under ASan and UBSan
#   make bench  builds the benchmarks; make fuzz runs the fuzzers (FUZZ_SECONDS, default 60)
#   make lint   runs clang-tidy over the core with the checks of .clang-tidy
#   make install  builds and installs into PREFIX (default /usr/local)

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_SECONDS ?= 60
PREFIX     ?= /usr/local
CMAKE_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVO_WERROR=ON

.PHONY: all deps run-deps bench-deps fuzz-deps configure run test test-sanitized bench fuzz install lint clean

all: deps configure
	cmake --build $(BUILD) --target kelvoplot

deps:
	@scripts/install-deps.sh build

run-deps:
	@scripts/install-deps.sh run

bench-deps:
	@scripts/install-deps.sh bench

fuzz-deps:
	@scripts/install-deps.sh fuzz

configure:
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) > /dev/null

run: run-deps configure
	cmake --build $(BUILD) --target kelvoplot
	scripts/run.sh $(BUILD)/kelvoplot

test: deps configure
	scripts/check_layering.sh
	cmake --build $(BUILD)
	cd $(BUILD) && ctest --output-on-failure
	$(MAKE) --no-print-directory test-sanitized

test-sanitized:
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVO_WERROR=ON \
		-DKELVO_CORE_ONLY=ON -DKELVO_SANITIZE=ON > /dev/null
	cmake --build $(ASAN_BUILD)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
		ctest --output-on-failure

bench: bench-deps configure
	cmake --build $(BUILD)

# clang-tidy with the checks named in .clang-tidy, over the core.
lint: deps configure
	scripts/lint.sh $(BUILD)

# Each target runs FUZZ_SECONDS; FUZZ_TARGETS="expression document" picks some (fuzz/run_fuzzers.sh).
fuzz: fuzz-deps
	FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run_fuzzers.sh

install: all
	cmake --build $(BUILD)
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz out
