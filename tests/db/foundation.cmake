# The SQL layer: connection strings, queries, commands and dialects.
pw_add_test(NAME test_connection_string SOURCES test_connection_string.cpp LIBS pw_sql)
pw_add_test(NAME test_sql SOURCES test_sql.cpp LIBS pw_sql)
