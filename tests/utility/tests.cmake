vvb_add_test(tst_ulogger tst_ulogger.cpp)
vvb_add_test(tst_utesselator tst_utesselator.cpp)
vvb_add_test(tst_uping tst_uping.cpp)
vvb_add_test(tst_uarchive tst_uarchive.cpp)
