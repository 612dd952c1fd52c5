tw_add_fuzz_target(state_editor SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/tester/state_editor_fuzz.cpp
    LINKS tw_tester)
tw_add_fuzz_target(play_input SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/tester/play_input_fuzz.cpp
    LINKS tw_cli)
