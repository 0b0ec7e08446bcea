#pragma once
// Control ids of the sensor page (shared by SensorPage.rc, the page and its layout table).

#define IDC_SENSOR_SAVE 1019
#define IDC_SENSOR_TEST 1020
#define IDC_SENSOR_ANALYZE 1021
#define IDC_SENSOR_DPI_STEP 1017
#define IDC_SENSOR_SEPARATE 1018
#define IDC_SENSOR_X_AXIS 1022
#define IDC_SENSOR_Y_AXIS 1023
#define IDC_SENSOR_POINTER_SPEED 1024
#define IDC_SENSOR_LIFT_DISTANCE 1025
#define IDC_SENSOR_QUALITY 1026
