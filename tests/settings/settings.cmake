# The settings store: collections, SysData, settings objects, table items, form look.
pw_add_test(NAME test_collection_db SOURCES test_collection_db.cpp LIBS pw_settings)
pw_add_test(NAME test_sys_data SOURCES test_sys_data.cpp LIBS pw_settings)
pw_add_test(NAME test_orvo_settings SOURCES test_orvo_settings.cpp LIBS pw_settings)
pw_add_test(NAME test_table_items SOURCES test_table_items.cpp LIBS pw_settings)
pw_add_test(NAME test_form_look SOURCES test_form_look.cpp LIBS pw_settings)
