# Shared by the install tests, sourced with the test's arguments:
#   SOURCE_DIR BUILD_DIR WORK_DIR VERSION
SOURCE_DIR=$1
BUILD_DIR=$2
WORK=$3
VERSION=$4

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Prints, sorted, the files an install must hold under its prefix: installed_files.txt plus one
# share/orrerion/data/ entry per shipped data file.
expected_files() {
  {
    grep -v '^#' "$SOURCE_DIR/tests/install/installed_files.txt" | sed '/^$/d'
    (cd "$SOURCE_DIR/data" && find . -type f | sed 's|^\./|share/orrerion/data/|')
  } | LC_ALL=C sort
}
