vvb_add_test(tst_rcgroupinfo tst_rcgroupinfo.cpp)
vvb_add_test(tst_rccommands tst_rccommands.cpp)
