vvb_add_test(tst_hnode tst_hnode.cpp)
vvb_add_test(tst_htree tst_htree.cpp)
vvb_add_test(tst_hmodel tst_hmodel.cpp)
