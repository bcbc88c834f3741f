pw_add_bench(NAME bench_kitchen SOURCES bench_kitchen.cpp LIBS pw_startup pw_demodb pw_testsupport Qt6::Test)
