# Sourced by the scripts. The clang that setup installs with its sanitizer and libFuzzer runtime;
# the scripts call it by this version's name, because another clang first on PATH lacks them.
clang_version=14
