vvb_add_test(tst_bcommandprocessor tst_bcommandprocessor.cpp)
vvb_add_test(tst_bcommand tst_bcommand.cpp)
vvb_add_test(tst_btools tst_btools.cpp)
vvb_add_test(tst_bdrops tst_bdrops.cpp)
vvb_add_test(tst_bedits tst_bedits.cpp)
vvb_add_test(tst_bvertextools tst_bvertextools.cpp ../widgets/PolygonCanvas.cpp ../widgets/PolygonCanvas.h
             ../model/OnlineFixture.cpp ../model/OnlineFixture.h)
vvb_add_test(tst_blayout tst_blayout.cpp)
vvb_add_test(tst_beditpropcommand tst_beditpropcommand.cpp)
