vvb_add_test(tst_bcommandprocessor tst_bcommandprocessor.cpp)
vvb_add_test(tst_bcommand tst_bcommand.cpp)
vvb_add_test(tst_btools tst_btools.cpp)
vvb_add_test(tst_bdrops tst_bdrops.cpp)
