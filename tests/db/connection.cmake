# The connection profile, the data module, the connection dialog and the SQL command helper.
pw_add_test(NAME test_connection_profile SOURCES test_connection_profile.cpp LIBS pw_db)
pw_add_test(NAME test_generic_db SOURCES test_generic_db.cpp LIBS pw_db)
