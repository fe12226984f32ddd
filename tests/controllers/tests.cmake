vvb_add_test(tst_kcontroller tst_kcontroller.cpp)
vvb_add_test(tst_kmaincontroller tst_kmaincontroller.cpp)
vvb_add_test(tst_kpanecontrollers tst_kpanecontrollers.cpp)
vvb_add_test(tst_startup tst_startup.cpp ../hardware/DesignFixture.cpp ../hardware/DesignFixture.h)
