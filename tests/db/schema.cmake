# The suite schema and the demo database.
pw_add_test(NAME test_schema SOURCES test_schema.cpp LIBS pw_schema)
pw_add_test(NAME test_demo_data SOURCES test_demo_data.cpp LIBS pw_demodb)
