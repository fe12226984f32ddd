vvb_add_test(tst_cattributes tst_cattributes.cpp)
vvb_add_test(tst_mproject tst_mproject.cpp)
vvb_add_test(tst_ccanvas tst_ccanvas.cpp)
