tw_add_fuzz_target(rtf_to_text SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/export/rtf_to_text_fuzz.cpp
    LINKS tw_export)
tw_add_fuzz_target(rtf_reader SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/export/rtf_reader_fuzz.cpp
    LINKS tw_export)
