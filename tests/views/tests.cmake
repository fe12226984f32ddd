vvb_add_test(tst_vmodemanager tst_vmodemanager.cpp)
vvb_add_test(tst_vtree tst_vtree.cpp)
vvb_add_test(tst_vgrid tst_vgrid.cpp)
