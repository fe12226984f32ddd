vvb_add_test(tst_xmlhandler tst_xmlhandler.cpp)
