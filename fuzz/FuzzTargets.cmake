# The fuzz targets, shared by the fuzz build (fuzz/CMakeLists.txt) and the bounded runs of the
# test suite (tests/fuzz/CMakeLists.txt). Each target <name> is built from <name>.cpp and has its
# hand-written seeds in corpus/<name>/.
set(VANTOREL_FUZZ_TARGETS
    fuzz_encoder_output
    fuzz_progress_tracker
    fuzz_command_builder
    fuzz_command_line_splitter
    fuzz_settings_reader
    fuzz_settings_store
    fuzz_number_text
    fuzz_file_names)
