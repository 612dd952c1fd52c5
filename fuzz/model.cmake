# Readers of the dialogue model: the dialogue file, its JSON form and the two clipboard
# archives.
tw_add_fuzz_target(dialogue_file SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/dialogue_file_fuzz.cpp
    LINKS tw_model)
tw_add_fuzz_target(dialogue_json SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/dialogue_json_fuzz.cpp
    LINKS tw_model)
tw_add_fuzz_target(command_list SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/command_list_fuzz.cpp
    LINKS tw_model)
tw_add_fuzz_target(response_list SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/response_list_fuzz.cpp
    LINKS tw_model)
