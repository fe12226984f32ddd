vvb_add_test(tst_widgetpropertyid tst_widgetpropertyid.cpp)
vvb_add_test(tst_qmlfiles tst_qmlfiles.cpp)
vvb_add_test(tst_wwidget tst_wwidget.cpp)
vvb_add_test(tst_wwidgetfactory tst_wwidgetfactory.cpp)
vvb_add_test(tst_mqmlinterface tst_mqmlinterface.cpp)
vvb_add_test(tst_vqmlframe tst_vqmlframe.cpp)
vvb_add_test(tst_wslider tst_wslider.cpp)
vvb_add_test(tst_wtextedit tst_wtextedit.cpp)
vvb_add_test(tst_wlabel tst_wlabel.cpp)
vvb_add_test(tst_wpanellink tst_wpanellink.cpp)
vvb_add_test(tst_wdropsite tst_wdropsite.cpp)
vvb_add_test(tst_wpolygon tst_wpolygon.cpp)
vvb_add_test(tst_polygoncanvas tst_polygoncanvas.cpp PolygonCanvas.cpp PolygonCanvas.h
             ../model/OnlineFixture.cpp ../model/OnlineFixture.h)
vvb_add_test(tst_wroomcombining tst_wroomcombining.cpp PolygonCanvas.cpp PolygonCanvas.h
             ../model/OnlineFixture.cpp ../model/OnlineFixture.h)
vvb_add_test(tst_wbutton tst_wbutton.cpp ../model/OnlineFixture.cpp ../model/OnlineFixture.h)
vvb_add_test(tst_wtextlink tst_wtextlink.cpp)
vvb_add_test(tst_wcmdbutton tst_wcmdbutton.cpp)
vvb_add_test(tst_wlevelbuttons tst_wlevelbuttons.cpp)
# The committed LED images are what their generator draws.
add_test(NAME gen_led_images_check
         COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/gen_led_images.py --check)
