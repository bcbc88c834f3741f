# The touch button and its image helpers.
pw_add_test(NAME test_tch_button SOURCES test_tch_button.cpp LIBS pw_staff)
