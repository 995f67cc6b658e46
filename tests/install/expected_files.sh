# Prints, sorted, the files an install must hold under its prefix: installed_files.txt plus one
# share/orrerion/data/ entry per shipped data file. Sourced by the install tests; needs SOURCE_DIR.
expected_files() {
  {
    grep -v '^#' "$SOURCE_DIR/tests/install/installed_files.txt" | sed '/^$/d'
    (cd "$SOURCE_DIR/data" && find . -type f | sed 's|^\./|share/orrerion/data/|')
  } | LC_ALL=C sort
}
