// Clearing the upper halves of the AVX registers, where there are any.
#include "desktop/qt/vector_registers.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace render {

#if defined(__x86_64__) || defined(__i386__)

namespace {

__attribute__((target("avx"))) void zeroUpperHalves()
{
    _mm256_zeroupper();
}

} // namespace

void clearUpperVectorHalves()
{
    if (__builtin_cpu_supports("avx")) zeroUpperHalves();
}

#else

void clearUpperVectorHalves() {}

#endif

} // namespace render
