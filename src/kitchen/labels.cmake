# Item labels: the print object and the label printing run.
pw_add_library(pw_labels SOURCES
  print_object.h print_object.cpp
  products_ex.h products_ex.cpp
  kitchen_labels.h kitchen_labels.cpp label_settings.cpp
  LIBS pw_settings pw_db pw_errors pw_platform Qt6::Gui)
