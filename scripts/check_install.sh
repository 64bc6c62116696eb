#!/usr/bin/env bash
# Installs the build into a temporary prefix twice (registering again must be harmless) and checks
# the tree: program, .desktop file (desktop-file-validate), MIME type (by extension and by
# content, when update-mime-database is there), icons, man page and HTML help.
# Usage: scripts/check_install.sh BUILD_FOLDER
set -euo pipefail
build="${1:?usage: check_install.sh BUILD_FOLDER}"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
cmake --install "$build" --prefix "$prefix" >/dev/null

failed=0
expect_file() {
    if [ ! -s "$prefix/$1" ]; then echo "missing: $1"; failed=1; fi
}
expect_file bin/kelvoplot
expect_file bin/kelvoplot-desktop
expect_file share/applications/kelvoplot.desktop
expect_file share/mime/packages/kelvoplot.xml
expect_file share/icons/hicolor/scalable/apps/kelvoplot.svg
expect_file share/icons/hicolor/scalable/apps/kelvoplot-figure.svg
expect_file share/icons/hicolor/scalable/apps/kelvoplot-preview.svg
expect_file share/icons/hicolor/scalable/mimetypes/application-x-kelvoplot.svg
expect_file share/man/man1/kelvoplot.1
expect_file share/doc/kelvoplot/html/index.html
[ -n "$(ls "$prefix"/share/doc/kelvoplot/html/gallery/*.png 2>/dev/null)" ] \
    || { echo "missing: the gallery pictures of the help"; failed=1; }
grep -q 'id="FUNCTION"' "$prefix/share/doc/kelvoplot/html/index.html" \
    || { echo "the help lacks the FUNCTION topic"; failed=1; }

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/kelvoplot.desktop" || failed=1
fi
if command -v update-mime-database >/dev/null; then
    grep -q 'application/x-kelvoplot:\*\.vexxml' "$prefix/share/mime/globs2" \
        || { echo "the MIME database lacks the *.vexxml glob"; failed=1; }
    grep -q 'application/x-kelvoplot' "$prefix/share/mime/magic" \
        || { echo "the MIME database lacks the content match"; failed=1; }
fi
if command -v update-desktop-database >/dev/null; then
    grep -q 'application/x-kelvoplot=kelvoplot.desktop' "$prefix/share/applications/mimeinfo.cache" \
        || { echo "the desktop database does not open documents with the program"; failed=1; }
fi
"$prefix/bin/kelvoplot" --version >/dev/null || { echo "the installed program does not run"; failed=1; }
[ "$failed" = 0 ] && echo "install tree complete: $prefix"
exit "$failed"
