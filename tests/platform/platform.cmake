# The platform layer: the registry on Qt settings and the swap of services for doubles.
pw_add_test(NAME test_platform SOURCES test_platform.cpp LIBS pw_platform)
