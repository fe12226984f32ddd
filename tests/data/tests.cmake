vvb_add_test(tst_devicedata tst_devicedata.cpp)
# The committed device-model data is what the generator makes from its readable table.
add_test(NAME gen_device_data_check
         COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/gen_device_data.py --check)
