vvb_add_test(tst_buildsetup tst_buildsetup.cpp)
