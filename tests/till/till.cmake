# Till identity: till number, till dialogs, record selector, base touch-screen form and panels.
pw_add_test(NAME test_till_id SOURCES test_till_id.cpp till_fixture.h LIBS pw_till)
pw_add_test(NAME test_db_selector SOURCES test_db_selector.cpp till_fixture.h LIBS pw_till)
pw_add_test(NAME test_pos_form SOURCES test_pos_form.cpp till_fixture.h LIBS pw_till)
