# Sourced by the build scripts: the compiler cache sees paths relative to the source
# tree, so a clone in another folder, or the package's own build folder beside build/,
# takes the objects an earlier build made instead of compiling them again.
if command -v ccache >/dev/null; then
  CCACHE_BASEDIR=$(pwd) && export CCACHE_BASEDIR
  export CCACHE_NOHASHDIR=1
fi
