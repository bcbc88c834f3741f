# The print object and the kitchen labels, printed on the PDF printer double.
pw_add_test(NAME test_print_object SOURCES test_print_object.cpp LIBS pw_labels)
pw_add_test(NAME test_kitchen_labels SOURCES test_kitchen_labels.cpp LIBS pw_labels)
