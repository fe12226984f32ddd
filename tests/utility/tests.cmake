vvb_add_test(tst_uarchive tst_uarchive.cpp)
