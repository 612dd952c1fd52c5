# Script lines: statements, response conditions and state files.
tw_add_fuzz_target(statement SOURCE ${CMAKE_CURRENT_LIST_DIR}/statement_fuzz.cpp LINKS tw_script)
tw_add_fuzz_target(condition SOURCE ${CMAKE_CURRENT_LIST_DIR}/condition_fuzz.cpp LINKS tw_script)
tw_add_fuzz_target(state_file SOURCE ${CMAKE_CURRENT_LIST_DIR}/state_file_fuzz.cpp LINKS tw_tester)
