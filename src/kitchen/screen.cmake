# The order preparation screen, its settings dialog and the about box.
pw_add_library(pw_kitchen SOURCES
  prep_settings.h trading_day.h trading_day.cpp order_sql.h order_sql.cpp
  late_colouring.h late_colouring.cpp virtual_keys.h virtual_keys.cpp
  button_sizes.h button_sizes.cpp standard_message.h standard_message.cpp
  connection_recovery.h connection_recovery.cpp
  snapshot_model.h snapshot_model.cpp order_models.h order_models.cpp
  order_screen.h order_screen.cpp prep_settings.cpp access_guard.h
  main_form.h main_form.cpp platewatch_settings_form.h platewatch_settings_form.cpp
  program_version.h program_version.cpp about_form.h about_form.cpp support_texts.h
  LIBS pw_labels pw_till pw_settings pw_db pw_sql pw_errors pw_platform Qt6::Widgets)
