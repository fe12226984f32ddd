vvb_add_test(tst_ulogger tst_ulogger.cpp)
