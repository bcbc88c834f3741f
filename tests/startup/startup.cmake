pw_add_test(NAME test_startup SOURCES test_startup.cpp LIBS pw_startup)
