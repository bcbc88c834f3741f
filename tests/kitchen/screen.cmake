pw_add_test(NAME test_order_screen SOURCES test_order_screen.cpp kitchen_fixture.h LIBS pw_kitchen)
pw_add_test(NAME test_main_form SOURCES test_main_form.cpp kitchen_fixture.h LIBS pw_kitchen)
