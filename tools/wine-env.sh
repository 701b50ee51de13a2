# Sourced by the scripts that run Windows programs: the Wine environment of
# one build tree. Expects BUILD_DIR to be set.
# VELK_WINEPREFIX picks another prefix of the tree (one at another DPI).
export WINEPREFIX="${VELK_WINEPREFIX:-$BUILD_DIR/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=ja_JP.UTF-8
export WINEARCH=win64
