#pragma once
// The feature reports of the ORVA 7100's vendor interface, as its report descriptor declares
// them: the configurator's (0x03, 0x04, 0x05, 0x0A, 0x0B) and the firmware updater's (0x20,
// 0x21, 0x22). Lengths include the report id.

#include <ntdef.h>

// The ids are the mouse's own copy on purpose: this driver and the virtual mouse are the
// independent second side of the protocol and share no header with the programs under test.
#define ORVA_VENDOR_ID 0x04B4
#define ORVA_PRODUCT_ID 0x1224
#define ORVA_VERSION 0x0100
#define ORVA_LONGEST_REPORT 1025

typedef struct {
    UCHAR id;
    USHORT length;
} OrvaReport;

static const OrvaReport kOrvaReports[] = {
    {0x03, 8}, {0x04, 64}, {0x05, 1025}, {0x0A, 8}, {0x0B, 8}, {0x20, 8}, {0x21, 9}, {0x22, 1025},
};

// Declared length of a report id, 0 when the interface has no such feature report.
static inline USHORT OrvaReportLength(UCHAR id) {
    for (ULONG i = 0; i < sizeof kOrvaReports / sizeof kOrvaReports[0]; ++i) {
        if (kOrvaReports[i].id == id)
            return kOrvaReports[i].length;
    }
    return 0;
}

// One top-level collection on a vendor page; each report is a run of bytes, 0 to 255.
#define ORVA_FEATURE(id, count)                                                             \
    0x85, (id), 0x09, (id), 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x96, ((count)&0xFF), \
        ((count) >> 8), 0xB1, 0x02

static const UCHAR kOrvaReportDescriptor[] = {
    0x06,
    0x00,
    0xFF,  // usage page: vendor defined
    0x09,
    0x01,  // usage 1
    0xA1,
    0x01,  // collection: application
    ORVA_FEATURE(0x03, 7),
    ORVA_FEATURE(0x04, 63),
    ORVA_FEATURE(0x05, 1024),
    ORVA_FEATURE(0x0A, 7),
    ORVA_FEATURE(0x0B, 7),
    ORVA_FEATURE(0x20, 7),
    ORVA_FEATURE(0x21, 8),
    ORVA_FEATURE(0x22, 1024),
    0xC0,  // end collection
};
