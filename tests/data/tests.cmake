vvb_add_test(tst_devicedata tst_devicedata.cpp)
