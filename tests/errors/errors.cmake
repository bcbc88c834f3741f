# The message dialogs, the application-wide handler with its report window, and the file version.
pw_add_test(NAME test_message_dialog SOURCES test_message_dialog.cpp LIBS pw_errors)
pw_add_test(NAME test_error_report SOURCES test_error_report.cpp LIBS pw_errors)
