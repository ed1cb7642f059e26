# Tests that drive a program on a real X server of its own (tests/desktop/with_display.sh), one
# at a time: a loaded machine delays what they wait for.
set(KV_DISPLAY_TEST_ENVIRONMENT
  "QT_QPA_PLATFORM=xcb"
  # The X keyboard library reads key names with strndup past their (unterminated) ends, which
  # strict string checks would stop at start-up.
  "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=0"
  "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/presenter/lsan.supp:print_suppressions=0")

# kv_add_display_test(NAME name SCREEN WxH TIMEOUT seconds COMMAND command...)
function(kv_add_display_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "NAME;SCREEN;TIMEOUT" "COMMAND")
  add_test(NAME ${arg_NAME}
           COMMAND ${PROJECT_SOURCE_DIR}/tests/desktop/with_display.sh ${arg_SCREEN} ${arg_COMMAND})
  set_tests_properties(${arg_NAME} PROPERTIES
    RESOURCE_LOCK x_display
    ENVIRONMENT "${KV_DISPLAY_TEST_ENVIRONMENT}"
    TIMEOUT ${arg_TIMEOUT})
endfunction()
