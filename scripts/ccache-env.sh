# Sourced by the build scripts: a compiler cache, when one is installed, makes rebuilds in other
# checkouts of the tree cheap. Leaves the CMake arguments that use it in the array launcher.
launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
