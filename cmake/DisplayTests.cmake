# Tests that drive a program on a real X server of its own (tests/desktop/with_display.sh), at
# most KV_DISPLAY_TEST_SLOTS at a time: a loaded machine delays what they wait for. The test run
# takes two in both trees (the cases mostly wait, even beside a build, and their waits are
# generous); one is the default. Each server is private, so cases in different slots share
# nothing but the print queue, which its own lock keeps to one case at a time.
set(KV_DISPLAY_TEST_SLOTS 1 CACHE STRING "How many tests on an X server of their own may run at once")
set_property(GLOBAL PROPERTY kv_display_test_count 0)
set(KV_DISPLAY_TEST_ENVIRONMENT
  "QT_QPA_PLATFORM=xcb"
  # The X keyboard library reads key names with strndup past their (unterminated) ends, which
  # strict string checks would stop at start-up.
  "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=0"
  "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/presenter/lsan.supp:print_suppressions=0"
  # A session bus that refuses at once. Without one, the first window the X server activates
  # makes Qt's accessibility look for a bus and start one of its own (dbus-launch, through a
  # helper forked from the many-threaded test program): a fork that can deadlock in the helper,
  # which Qt's bus thread and the GUI thread behind it then wait for without a bound. Cases that
  # want a screen reader start a bus of their own.
  "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/kv-no-session-bus")

# kv_add_display_test(NAME name SCREEN WxH TIMEOUT seconds COMMAND command...)
function(kv_add_display_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "NAME;SCREEN;TIMEOUT" "COMMAND")
  add_test(NAME ${arg_NAME}
           COMMAND ${PROJECT_SOURCE_DIR}/tests/desktop/with_display.sh ${arg_SCREEN} ${arg_COMMAND})
  # Slots are dealt round the tests in the order they are added.
  get_property(count GLOBAL PROPERTY kv_display_test_count)
  math(EXPR slot "${count} % ${KV_DISPLAY_TEST_SLOTS}")
  math(EXPR count "${count} + 1")
  set_property(GLOBAL PROPERTY kv_display_test_count ${count})
  set(locks x_display_${slot})
  # Cases that print, or open the print dialog on the queues, share the one test queue and its folder.
  if(arg_NAME MATCHES "print|pdf|paper|track_bar")
    list(APPEND locks print_queue)
  endif()
  set_tests_properties(${arg_NAME} PROPERTIES
    RESOURCE_LOCK "${locks}"
    ENVIRONMENT "${KV_DISPLAY_TEST_ENVIRONMENT}"
    TIMEOUT ${arg_TIMEOUT})
endfunction()
