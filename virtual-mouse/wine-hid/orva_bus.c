// orvabus.sys: a test-only bus driver that plugs a virtual ORVA 7100 into Wine's HID stack.
//
// Root-enumerated, it watches a running orva-virtual-mouse over loopback TCP (the address is
// the value "Address" under the service's Parameters key, read again on every watch) and
// reports one child device while that mouse is present. When the mouse vanishes the child
// leaves the bus relations and Windows removes the HID device; when it comes back, or comes
// back as a new arrival (the updater's restart into its loader), a fresh child is reported, as
// a real mouse re-enumerates. The HID minidriver orvahid.sys sits on the child and passes the
// HID class driver's requests down to it; the child answers them here and forwards each feature
// report to the virtual mouse at its declared length, bound to the arrival it was made for.

#include <ntddk.h>

#include "MiniportDefs.h"
#include "MouseReports.h"
#include "WireLink.h"

#define ORVA_WATCH_SLICE_MS 250
#define ORVA_CONNECT_LIMIT_MS 1000
// Longest wait for the mouse's answer to one feature report. Wine's HID class passes a copy of
// the program's request down, so a program's CancelIoEx never reaches this driver: the driver
// bounds the wait itself, below the programs' own 3 s limit, as a USB stack's timeout would.
#define ORVA_TRANSFER_LIMIT_MS 2500
#define ORVA_REMOVAL_WAIT_MS 3000

typedef struct OrvaBus OrvaBus;

typedef struct {
    BOOLEAN isChild;
} OrvaCommon;

typedef struct {
    OrvaCommon common;
    OrvaBus* bus;
    ULONG arrival;     // the virtual mouse's arrival count this child stands for
    BOOLEAN reported;  // listed in the bus relations
    BOOLEAN removed;   // gone from the bus: requests fail as on an unplugged device
    IRP* parkedRead;   // the class driver's input read; the mouse never sends input
} OrvaChild;

struct OrvaBus {
    OrvaCommon common;
    DEVICE_OBJECT* self;
    DEVICE_OBJECT* pdo;    // the root device this bus sits on
    DEVICE_OBJECT* lower;  // where PnP requests go on
    KSPIN_LOCK lock;
    DEVICE_OBJECT* child;  // the reported child, or NULL
    LIST_ENTRY queue;      // feature requests waiting for the worker
    KEVENT queued;
    KEVENT stop;
    KEVENT childGone;
    BOOLEAN stopping;
    HANDLE watcher;
    HANDLE worker;
    char address[64];
    WireLink featureLink;  // the worker's own connection
    UCHAR request[5 + ORVA_LONGEST_REPORT];
    UCHAR reply[ORVA_LONGEST_REPORT];
};

// Not in MinGW's wdm.h.
NTSYSAPI NTSTATUS NTAPI ZwWaitForSingleObject(HANDLE handle, BOOLEAN alertable,
                                              PLARGE_INTEGER timeout);

static UNICODE_STRING gParameters;
static ULONG gChildIndex;

// Waits for the event, at most `ms`.
static void WaitOrTimeout(KEVENT* event, ULONG ms) {
    LARGE_INTEGER timeout;
    timeout.QuadPart = -(LONGLONG)ms * 10000;
    KeWaitForSingleObject(event, Executive, KernelMode, FALSE, &timeout);
}

// The address the tests set with the helper ("HOST:PORT"); empty when unplugged or unset.
static void ReadAddress(char* out, ULONG capacity) {
    out[0] = '\0';
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &gParameters, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE,
                               NULL, NULL);
    HANDLE key;
    if (!NT_SUCCESS(ZwOpenKey(&key, KEY_READ, &attributes)))
        return;
    UNICODE_STRING name;
    RtlInitUnicodeString(&name, L"Address");
    union {
        KEY_VALUE_PARTIAL_INFORMATION info;
        UCHAR bytes[sizeof(KEY_VALUE_PARTIAL_INFORMATION) + 128];
    } value;
    ULONG size = 0;
    if (NT_SUCCESS(
            ZwQueryValueKey(key, &name, KeyValuePartialInformation, &value, sizeof value, &size)) &&
        value.info.Type == REG_SZ) {
        const WCHAR* text = (const WCHAR*)value.info.Data;
        const ULONG count = value.info.DataLength / sizeof(WCHAR);
        ULONG i = 0;
        for (; i < count && i + 1 < capacity && text[i] != 0; ++i) {
            if (text[i] > 0x7E)
                break;
            out[i] = (char)text[i];
        }
        out[i] = '\0';
    }
    ZwClose(key);
}

static void CompleteRequest(IRP* irp, NTSTATUS status, ULONG_PTR information) {
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
}

static WCHAR* PoolString(const WCHAR* text, BOOLEAN multi) {
    const SIZE_T size = (wcslen(text) + (multi ? 2 : 1)) * sizeof(WCHAR);
    WCHAR* copy = ExAllocatePool(PagedPool, size);
    if (copy != NULL) {
        RtlZeroMemory(copy, size);
        RtlCopyMemory(copy, text, wcslen(text) * sizeof(WCHAR));
    }
    return copy;
}

static DEVICE_RELATIONS* Relations(DEVICE_OBJECT* device) {
    DEVICE_RELATIONS* relations = ExAllocatePool(PagedPool, sizeof(DEVICE_RELATIONS));
    if (relations == NULL)
        return NULL;
    relations->Count = 0;
    if (device != NULL) {
        ObReferenceObject(device);
        relations->Objects[relations->Count++] = device;
    }
    return relations;
}

// ---- the child: a HID device's lower end ----

static IRP* TakeParkedRead(OrvaChild* child) {
    KIRQL irql;
    KeAcquireSpinLock(&child->bus->lock, &irql);
    IRP* irp = child->parkedRead;
    child->parkedRead = NULL;
    if (irp != NULL && IoSetCancelRoutine(irp, NULL) == NULL)
        irp = NULL;  // its cancel routine runs and completes it
    KeReleaseSpinLock(&child->bus->lock, irql);
    return irp;
}

static void NTAPI CancelParkedRead(DEVICE_OBJECT* device, IRP* irp) {
    OrvaChild* child = device->DeviceExtension;
    IoReleaseCancelSpinLock(irp->CancelIrql);
    KIRQL irql;
    KeAcquireSpinLock(&child->bus->lock, &irql);
    if (child->parkedRead == irp)
        child->parkedRead = NULL;
    KeReleaseSpinLock(&child->bus->lock, irql);
    CompleteRequest(irp, STATUS_CANCELLED, 0);
}

static void NTAPI CancelQueuedFeature(DEVICE_OBJECT* device, IRP* irp) {
    OrvaChild* child = device->DeviceExtension;
    IoReleaseCancelSpinLock(irp->CancelIrql);
    KIRQL irql;
    KeAcquireSpinLock(&child->bus->lock, &irql);
    RemoveEntryList(&irp->Tail.Overlay.ListEntry);
    KeReleaseSpinLock(&child->bus->lock, irql);
    CompleteRequest(irp, STATUS_CANCELLED, 0);
}

// Fails the child's parked read and its queued feature requests: the device is gone. A request
// the worker already took needs nothing of the child any more (see WorkThread).
static void FailOutstanding(OrvaChild* child) {
    OrvaBus* bus = child->bus;
    IRP* read = TakeParkedRead(child);
    if (read != NULL)
        CompleteRequest(read, STATUS_DELETE_PENDING, 0);
    LIST_ENTRY failed;
    InitializeListHead(&failed);
    KIRQL irql;
    KeAcquireSpinLock(&bus->lock, &irql);
    for (LIST_ENTRY* entry = bus->queue.Flink; entry != &bus->queue;) {
        LIST_ENTRY* next = entry->Flink;
        IRP* irp = CONTAINING_RECORD(entry, IRP, Tail.Overlay.ListEntry);
        if (irp->Tail.Overlay.DriverContext[0] == child && IoSetCancelRoutine(irp, NULL) != NULL) {
            RemoveEntryList(entry);
            InsertTailList(&failed, entry);
        }
        entry = next;
    }
    KeReleaseSpinLock(&bus->lock, irql);
    while (!IsListEmpty(&failed)) {
        LIST_ENTRY* entry = RemoveHeadList(&failed);
        CompleteRequest(CONTAINING_RECORD(entry, IRP, Tail.Overlay.ListEntry),
                        STATUS_DEVICE_NOT_CONNECTED, 0);
    }
}

static void MarkRemoved(OrvaChild* child) {
    KIRQL irql;
    KeAcquireSpinLock(&child->bus->lock, &irql);
    child->removed = TRUE;
    KeReleaseSpinLock(&child->bus->lock, irql);
}

static NTSTATUS QueueFeature(OrvaChild* child, IRP* irp) {
    OrvaBus* bus = child->bus;
    irp->Tail.Overlay.DriverContext[0] = child;
    KIRQL irql;
    KeAcquireSpinLock(&bus->lock, &irql);
    IoSetCancelRoutine(irp, CancelQueuedFeature);
    if (irp->Cancel && IoSetCancelRoutine(irp, NULL) != NULL) {
        KeReleaseSpinLock(&bus->lock, irql);
        CompleteRequest(irp, STATUS_CANCELLED, 0);
        return STATUS_CANCELLED;
    }
    IoMarkIrpPending(irp);
    InsertTailList(&bus->queue, &irp->Tail.Overlay.ListEntry);
    KeReleaseSpinLock(&bus->lock, irql);
    KeSetEvent(&bus->queued, IO_NO_INCREMENT, FALSE);
    return STATUS_PENDING;
}

static NTSTATUS ChildFeature(OrvaChild* child, IRP* irp, BOOLEAN isSet) {
    ORVA_HID_XFER_PACKET* packet = irp->UserBuffer;
    if (packet == NULL || packet->reportBuffer == NULL)
        return STATUS_INVALID_USER_BUFFER;
    // Only the reports the descriptor declares reach the mouse.
    const USHORT length = OrvaReportLength(packet->reportId);
    if (length == 0)
        return STATUS_INVALID_PARAMETER;
    if (packet->reportBufferLen < length)
        return isSet ? STATUS_INVALID_BUFFER_SIZE : STATUS_BUFFER_TOO_SMALL;
    if (child->removed)
        return STATUS_DEVICE_NOT_CONNECTED;
    return QueueFeature(child, irp);
}

static NTSTATUS ChildString(IRP* irp, IO_STACK_LOCATION* stack) {
    const ULONG index = (ULONG)(ULONG_PTR)stack->Parameters.DeviceIoControl.Type3InputBuffer;
    const WCHAR* text = NULL;
    if ((index & 0xFFFF) == ORVA_HID_STRING_MANUFACTURER)
        text = L"Velmor";
    else if ((index & 0xFFFF) == ORVA_HID_STRING_PRODUCT)
        text = L"ORVA 7100";
    if (text == NULL)
        return STATUS_NOT_SUPPORTED;
    const ULONG size = (ULONG)(wcslen(text) + 1) * sizeof(WCHAR);
    if (stack->Parameters.DeviceIoControl.OutputBufferLength < size || irp->UserBuffer == NULL)
        return STATUS_BUFFER_TOO_SMALL;
    RtlCopyMemory(irp->UserBuffer, text, size);
    irp->IoStatus.Information = size;
    return STATUS_SUCCESS;
}

static NTSTATUS ChildInternalIoctl(OrvaChild* child, IRP* irp) {
    IO_STACK_LOCATION* stack = IoGetCurrentIrpStackLocation(irp);
    const ULONG outLength = stack->Parameters.DeviceIoControl.OutputBufferLength;
    NTSTATUS status = STATUS_NOT_SUPPORTED;
    irp->IoStatus.Information = 0;
    switch (stack->Parameters.DeviceIoControl.IoControlCode) {
        case ORVA_IOCTL_GET_DEVICE_DESCRIPTOR: {
            ORVA_HID_DESCRIPTOR descriptor = {sizeof descriptor,           0x21, 0x0101, 0, 1, 0x22,
                                              sizeof kOrvaReportDescriptor};
            if (outLength < sizeof descriptor) {
                status = STATUS_BUFFER_TOO_SMALL;
                break;
            }
            RtlCopyMemory(irp->UserBuffer, &descriptor, sizeof descriptor);
            irp->IoStatus.Information = sizeof descriptor;
            status = STATUS_SUCCESS;
            break;
        }
        case ORVA_IOCTL_GET_REPORT_DESCRIPTOR:
            if (outLength < sizeof kOrvaReportDescriptor) {
                status = STATUS_BUFFER_TOO_SMALL;
                break;
            }
            RtlCopyMemory(irp->UserBuffer, kOrvaReportDescriptor, sizeof kOrvaReportDescriptor);
            irp->IoStatus.Information = sizeof kOrvaReportDescriptor;
            status = STATUS_SUCCESS;
            break;
        case ORVA_IOCTL_GET_DEVICE_ATTRIBUTES: {
            ORVA_HID_DEVICE_ATTRIBUTES attributes;
            RtlZeroMemory(&attributes, sizeof attributes);
            attributes.Size = sizeof attributes;
            attributes.VendorID = ORVA_VENDOR_ID;
            attributes.ProductID = ORVA_PRODUCT_ID;
            attributes.VersionNumber = ORVA_VERSION;
            if (outLength < sizeof attributes) {
                status = STATUS_BUFFER_TOO_SMALL;
                break;
            }
            RtlCopyMemory(irp->UserBuffer, &attributes, sizeof attributes);
            irp->IoStatus.Information = sizeof attributes;
            status = STATUS_SUCCESS;
            break;
        }
        case ORVA_IOCTL_READ_REPORT: {
            // The class driver keeps one read outstanding; the vendor interface sends no input,
            // so it waits here until the device goes away.
            KIRQL irql;
            KeAcquireSpinLock(&child->bus->lock, &irql);
            if (child->removed || child->parkedRead != NULL) {
                KeReleaseSpinLock(&child->bus->lock, irql);
                status = STATUS_DELETE_PENDING;
                break;
            }
            IoSetCancelRoutine(irp, CancelParkedRead);
            if (irp->Cancel && IoSetCancelRoutine(irp, NULL) != NULL) {
                KeReleaseSpinLock(&child->bus->lock, irql);
                status = STATUS_CANCELLED;
                break;
            }
            IoMarkIrpPending(irp);
            child->parkedRead = irp;
            KeReleaseSpinLock(&child->bus->lock, irql);
            return STATUS_PENDING;
        }
        case ORVA_IOCTL_GET_STRING:
            status = ChildString(irp, stack);
            break;
        case ORVA_IOCTL_ACTIVATE_DEVICE:
        case ORVA_IOCTL_DEACTIVATE_DEVICE:
            status = STATUS_SUCCESS;
            break;
        case ORVA_IOCTL_SET_FEATURE:
        case ORVA_IOCTL_GET_FEATURE:
            status = ChildFeature(
                child, irp,
                stack->Parameters.DeviceIoControl.IoControlCode == ORVA_IOCTL_SET_FEATURE);
            if (status == STATUS_PENDING || status == STATUS_CANCELLED)
                return status;
            break;
        default:
            break;
    }
    CompleteRequest(irp, status, irp->IoStatus.Information);
    return status;
}

static NTSTATUS ChildQueryId(IRP* irp, BUS_QUERY_ID_TYPE type) {
    WCHAR* text = NULL;
    switch (type) {
        case BusQueryDeviceID:
            text = PoolString(L"ORVA\\VID_04B4&PID_1224", FALSE);
            break;
        case BusQueryHardwareIDs:
            text = PoolString(L"ORVA\\VID_04B4&PID_1224", TRUE);
            break;
        case BusQueryInstanceID:
            text = PoolString(L"0000", FALSE);
            break;
        case BusQueryCompatibleIDs:
            // None, but Wine's device installer wants the list answered.
            text = PoolString(L"", TRUE);
            break;
        default:
            return irp->IoStatus.Status;
    }
    if (text == NULL)
        return STATUS_NO_MEMORY;
    irp->IoStatus.Information = (ULONG_PTR)text;
    return STATUS_SUCCESS;
}

static NTSTATUS ChildPnp(DEVICE_OBJECT* device, OrvaChild* child, IRP* irp) {
    IO_STACK_LOCATION* stack = IoGetCurrentIrpStackLocation(irp);
    NTSTATUS status = irp->IoStatus.Status;
    switch (stack->MinorFunction) {
        case IRP_MN_START_DEVICE:
        case IRP_MN_QUERY_REMOVE_DEVICE:
        case IRP_MN_CANCEL_REMOVE_DEVICE:
        case IRP_MN_STOP_DEVICE:
        case IRP_MN_QUERY_STOP_DEVICE:
        case IRP_MN_CANCEL_STOP_DEVICE:
            status = STATUS_SUCCESS;
            break;
        case IRP_MN_SURPRISE_REMOVAL:
            MarkRemoved(child);
            FailOutstanding(child);
            status = STATUS_SUCCESS;
            break;
        case IRP_MN_REMOVE_DEVICE: {
            MarkRemoved(child);
            FailOutstanding(child);
            CompleteRequest(irp, STATUS_SUCCESS, 0);
            // A child still on the bus is only stopped; one that left it is gone for good.
            if (!child->reported) {
                OrvaBus* bus = child->bus;
                IoDeleteDevice(device);
                KeSetEvent(&bus->childGone, IO_NO_INCREMENT, FALSE);
            }
            return STATUS_SUCCESS;
        }
        case IRP_MN_QUERY_ID:
            status = ChildQueryId(irp, stack->Parameters.QueryId.IdType);
            break;
        case IRP_MN_QUERY_CAPABILITIES: {
            DEVICE_CAPABILITIES* caps = stack->Parameters.DeviceCapabilities.Capabilities;
            caps->Removable = 1;
            caps->SurpriseRemovalOK = 1;
            caps->SilentInstall = 1;
            status = STATUS_SUCCESS;
            break;
        }
        case IRP_MN_QUERY_DEVICE_RELATIONS:
            if (stack->Parameters.QueryDeviceRelations.Type == TargetDeviceRelation) {
                irp->IoStatus.Information = (ULONG_PTR)Relations(device);
                status = irp->IoStatus.Information ? STATUS_SUCCESS : STATUS_NO_MEMORY;
            }
            break;
        default:
            break;
    }
    irp->IoStatus.Status = status;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static DEVICE_OBJECT* CreateChild(OrvaBus* bus, ULONG arrival) {
    // Each child gets a name of its own: the previous one may not be deleted yet.
    WCHAR name[32] = L"\\Device\\OrvaMouse";
    ULONG end = (ULONG)wcslen(name);
    for (ULONG index = gChildIndex++, digits = 1000000; digits > 0; digits /= 10)
        name[end++] = (WCHAR)(L'0' + index / digits % 10);
    name[end] = 0;
    UNICODE_STRING nameString;
    RtlInitUnicodeString(&nameString, name);
    DEVICE_OBJECT* device = NULL;
    if (!NT_SUCCESS(IoCreateDevice(bus->self->DriverObject, sizeof(OrvaChild), &nameString,
                                   FILE_DEVICE_UNKNOWN, 0, FALSE, &device)))
        return NULL;
    OrvaChild* child = device->DeviceExtension;
    RtlZeroMemory(child, sizeof *child);
    child->common.isChild = TRUE;
    child->bus = bus;
    child->arrival = arrival;
    child->reported = TRUE;
    device->Flags &= ~DO_DEVICE_INITIALIZING;
    return device;
}

// Brings the reported child in line with the mouse: `arrival` 0 for none. A mouse that came
// back as a new arrival is a new device: the old child leaves first, then the new one comes.
static void SyncChild(OrvaBus* bus, ULONG arrival) {
    DEVICE_OBJECT* current = bus->child;
    if (current != NULL && ((OrvaChild*)current->DeviceExtension)->arrival == arrival)
        return;
    if (current == NULL && arrival == 0)
        return;
    if (current != NULL) {
        OrvaChild* old = current->DeviceExtension;
        KeClearEvent(&bus->childGone);
        KIRQL irql;
        KeAcquireSpinLock(&bus->lock, &irql);
        bus->child = NULL;
        old->reported = FALSE;
        old->removed = TRUE;
        KeReleaseSpinLock(&bus->lock, irql);
        IoInvalidateDeviceRelations(bus->pdo, BusRelations);
        WaitOrTimeout(&bus->childGone, ORVA_REMOVAL_WAIT_MS);
    }
    if (arrival != 0) {
        DEVICE_OBJECT* device = CreateChild(bus, arrival);
        if (device == NULL)
            return;
        KIRQL irql;
        KeAcquireSpinLock(&bus->lock, &irql);
        bus->child = device;
        KeReleaseSpinLock(&bus->lock, irql);
        IoInvalidateDeviceRelations(bus->pdo, BusRelations);
    }
}

// ---- the bus's threads ----

static void NTAPI WatchThread(void* context) {
    OrvaBus* bus = context;
    WireLink link;
    WireInit(&link);
    int knownPresent = 0;
    uint32_t knownArrivals = 0;
    while (!bus->stopping) {
        char address[64];
        ReadAddress(address, sizeof address);
        if (strcmp(address, bus->address) != 0) {
            // Another mouse, or none: the one on the bus leaves first.
            SyncChild(bus, 0);
            WireClose(&link);
            knownPresent = 0;
            knownArrivals = 0;
            KIRQL irql;
            KeAcquireSpinLock(&bus->lock, &irql);
            strcpy(bus->address, address);
            KeReleaseSpinLock(&bus->lock, irql);
        }
        ULONG arrival = 0;
        int present = 0;
        uint32_t arrivals = 0;
        if (address[0] != '\0' && WireConnect(&link, address, ORVA_CONNECT_LIMIT_MS) &&
            WireWatch(&link, knownPresent, knownArrivals, ORVA_WATCH_SLICE_MS, &present,
                      &arrivals)) {
            knownPresent = present;
            knownArrivals = arrivals;
            arrival = present ? arrivals : 0;
        } else {
            // No address, or no server: no mouse on the bus.
            knownPresent = 0;
            knownArrivals = 0;
            WaitOrTimeout(&bus->stop, ORVA_WATCH_SLICE_MS);
        }
        if (!bus->stopping)
            SyncChild(bus, arrival);
    }
    WireClose(&link);
    PsTerminateSystemThread(STATUS_SUCCESS);
}

// One feature report of a child that stood for the mouse's arrival `arrival`, at the report's
// declared length, to the virtual mouse.
static NTSTATUS Transfer(OrvaBus* bus, ULONG arrival, IRP* irp, ULONG_PTR* information) {
    IO_STACK_LOCATION* stack = IoGetCurrentIrpStackLocation(irp);
    const BOOLEAN isSet = stack->Parameters.DeviceIoControl.IoControlCode == ORVA_IOCTL_SET_FEATURE;
    ORVA_HID_XFER_PACKET* packet = irp->UserBuffer;
    const USHORT length = OrvaReportLength(packet->reportId);
    char address[64];
    KIRQL irql;
    KeAcquireSpinLock(&bus->lock, &irql);
    strcpy(address, bus->address);
    KeReleaseSpinLock(&bus->lock, irql);
    if (address[0] == '\0' || !WireConnect(&bus->featureLink, address, ORVA_CONNECT_LIMIT_MS))
        return STATUS_DEVICE_NOT_CONNECTED;
    bus->request[0] = isSet ? 'S' : 'G';
    for (int i = 0; i < 4; ++i)
        bus->request[1 + i] = (UCHAR)(arrival >> (8 * i));
    if (isSet)
        RtlCopyMemory(bus->request + 5, packet->reportBuffer, length);
    else
        RtlZeroMemory(bus->request + 5, length);
    bus->request[5] = packet->reportId;
    uint32_t replyLength = 0;
    int ok = 0;
    if (!WireExchange(&bus->featureLink, bus->request, 5u + length, bus->reply, sizeof bus->reply,
                      &replyLength, &ok, ORVA_TRANSFER_LIMIT_MS))
        return STATUS_IO_TIMEOUT;
    if (!ok)
        return STATUS_UNSUCCESSFUL;
    if (!isSet) {
        if (replyLength != length)
            return STATUS_DEVICE_DATA_ERROR;
        RtlCopyMemory(packet->reportBuffer, bus->reply, length);
        packet->reportBuffer[0] = packet->reportId;
    }
    *information = length;
    return STATUS_SUCCESS;
}

// Serves the queued feature requests one at a time. What it needs of a request's child is read
// when the request is taken, so a child may be removed and deleted while its last request is
// still on the wire.
static void NTAPI WorkThread(void* context) {
    OrvaBus* bus = context;
    WireInit(&bus->featureLink);
    while (!bus->stopping) {
        KeWaitForSingleObject(&bus->queued, Executive, KernelMode, FALSE, NULL);
        for (;;) {
            IRP* irp = NULL;
            BOOLEAN removed = TRUE;
            ULONG arrival = 0;
            KIRQL irql;
            KeAcquireSpinLock(&bus->lock, &irql);
            while (irp == NULL && !IsListEmpty(&bus->queue)) {
                irp = CONTAINING_RECORD(RemoveHeadList(&bus->queue), IRP, Tail.Overlay.ListEntry);
                if (IoSetCancelRoutine(irp, NULL) == NULL) {
                    // Its cancel routine runs and completes it.
                    InitializeListHead(&irp->Tail.Overlay.ListEntry);
                    irp = NULL;
                }
            }
            if (irp != NULL) {
                OrvaChild* child = irp->Tail.Overlay.DriverContext[0];
                removed = child->removed;
                arrival = child->arrival;
            }
            KeReleaseSpinLock(&bus->lock, irql);
            if (irp == NULL)
                break;
            ULONG_PTR information = 0;
            const NTSTATUS status = removed || bus->stopping
                                        ? STATUS_DEVICE_NOT_CONNECTED
                                        : Transfer(bus, arrival, irp, &information);
            CompleteRequest(irp, status, information);
        }
    }
    WireClose(&bus->featureLink);
    PsTerminateSystemThread(STATUS_SUCCESS);
}

static void StartThreads(OrvaBus* bus) {
    if (bus->watcher != NULL)
        return;
    bus->stopping = FALSE;
    PsCreateSystemThread(&bus->worker, THREAD_ALL_ACCESS, NULL, NULL, NULL, WorkThread, bus);
    PsCreateSystemThread(&bus->watcher, THREAD_ALL_ACCESS, NULL, NULL, NULL, WatchThread, bus);
}

static void StopThreads(OrvaBus* bus) {
    bus->stopping = TRUE;
    KeSetEvent(&bus->stop, IO_NO_INCREMENT, FALSE);
    KeSetEvent(&bus->queued, IO_NO_INCREMENT, FALSE);
    KeSetEvent(&bus->childGone, IO_NO_INCREMENT, FALSE);
    HANDLE threads[2] = {bus->watcher, bus->worker};
    for (int i = 0; i < 2; ++i) {
        if (threads[i] != NULL) {
            ZwWaitForSingleObject(threads[i], FALSE, NULL);
            ZwClose(threads[i]);
        }
    }
    bus->watcher = NULL;
    bus->worker = NULL;
}

// ---- the bus on its root device ----

static NTSTATUS PassDown(OrvaBus* bus, IRP* irp) {
    IoSkipCurrentIrpStackLocation(irp);
    return IoCallDriver(bus->lower, irp);
}

static NTSTATUS BusPnp(OrvaBus* bus, IRP* irp) {
    IO_STACK_LOCATION* stack = IoGetCurrentIrpStackLocation(irp);
    switch (stack->MinorFunction) {
        case IRP_MN_START_DEVICE:
            StartThreads(bus);
            irp->IoStatus.Status = STATUS_SUCCESS;
            break;
        case IRP_MN_QUERY_DEVICE_RELATIONS:
            if (stack->Parameters.QueryDeviceRelations.Type == BusRelations) {
                KIRQL irql;
                KeAcquireSpinLock(&bus->lock, &irql);
                DEVICE_OBJECT* child = bus->child;
                if (child != NULL)
                    ObReferenceObject(child);
                KeReleaseSpinLock(&bus->lock, irql);
                DEVICE_RELATIONS* relations = Relations(child);
                if (child != NULL)
                    ObDereferenceObject(child);
                if (relations == NULL) {
                    CompleteRequest(irp, STATUS_NO_MEMORY, 0);
                    return STATUS_NO_MEMORY;
                }
                irp->IoStatus.Information = (ULONG_PTR)relations;
                irp->IoStatus.Status = STATUS_SUCCESS;
            }
            break;
        case IRP_MN_SURPRISE_REMOVAL:
        case IRP_MN_QUERY_REMOVE_DEVICE:
        case IRP_MN_CANCEL_REMOVE_DEVICE:
            irp->IoStatus.Status = STATUS_SUCCESS;
            break;
        case IRP_MN_REMOVE_DEVICE: {
            StopThreads(bus);
            if (bus->child != NULL) {
                OrvaChild* child = bus->child->DeviceExtension;
                child->reported = FALSE;
                FailOutstanding(child);
                IoDeleteDevice(bus->child);
                bus->child = NULL;
            }
            irp->IoStatus.Status = STATUS_SUCCESS;
            const NTSTATUS status = PassDown(bus, irp);
            IoDetachDevice(bus->lower);
            IoDeleteDevice(bus->self);
            return status;
        }
        default:
            break;
    }
    return PassDown(bus, irp);
}

static NTSTATUS NTAPI DispatchPnp(DEVICE_OBJECT* device, IRP* irp) {
    OrvaCommon* common = device->DeviceExtension;
    if (common->isChild)
        return ChildPnp(device, device->DeviceExtension, irp);
    return BusPnp(device->DeviceExtension, irp);
}

static NTSTATUS NTAPI DispatchInternalIoctl(DEVICE_OBJECT* device, IRP* irp) {
    OrvaCommon* common = device->DeviceExtension;
    if (common->isChild)
        return ChildInternalIoctl(device->DeviceExtension, irp);
    CompleteRequest(irp, STATUS_NOT_SUPPORTED, 0);
    return STATUS_NOT_SUPPORTED;
}

static NTSTATUS NTAPI AddDevice(DRIVER_OBJECT* driver, DEVICE_OBJECT* pdo) {
    DEVICE_OBJECT* device = NULL;
    NTSTATUS status =
        IoCreateDevice(driver, sizeof(OrvaBus), NULL, FILE_DEVICE_BUS_EXTENDER, 0, FALSE, &device);
    if (!NT_SUCCESS(status))
        return status;
    OrvaBus* bus = device->DeviceExtension;
    RtlZeroMemory(bus, sizeof *bus);
    bus->self = device;
    bus->pdo = pdo;
    KeInitializeSpinLock(&bus->lock);
    InitializeListHead(&bus->queue);
    KeInitializeEvent(&bus->queued, SynchronizationEvent, FALSE);
    KeInitializeEvent(&bus->stop, NotificationEvent, FALSE);
    KeInitializeEvent(&bus->childGone, NotificationEvent, FALSE);
    bus->lower = IoAttachDeviceToDeviceStack(device, pdo);
    device->Flags &= ~DO_DEVICE_INITIALIZING;
    return STATUS_SUCCESS;
}

static void NTAPI Unload(DRIVER_OBJECT* driver) {
    (void)driver;
    ExFreePool(gParameters.Buffer);
}

NTSTATUS NTAPI DriverEntry(DRIVER_OBJECT* driver, UNICODE_STRING* registryPath) {
    static const WCHAR kSuffix[] = L"\\Parameters";
    // Wine's loader first calls a driver's entry point as DllMain(module, reason, reserved):
    // the reason stands where the registry path does. Answer that call as DllMain would.
    if ((ULONG_PTR)registryPath < 0x10000)
        return TRUE;
    gParameters.MaximumLength = registryPath->Length + sizeof kSuffix;
    gParameters.Length = 0;
    gParameters.Buffer = ExAllocatePool(PagedPool, gParameters.MaximumLength);
    if (gParameters.Buffer == NULL)
        return STATUS_NO_MEMORY;
    RtlCopyUnicodeString(&gParameters, registryPath);
    RtlAppendUnicodeToString(&gParameters, kSuffix);
    if (!WireStartup())
        return STATUS_UNSUCCESSFUL;
    driver->DriverExtension->AddDevice = AddDevice;
    driver->DriverUnload = Unload;
    driver->MajorFunction[IRP_MJ_PNP] = DispatchPnp;
    driver->MajorFunction[IRP_MJ_INTERNAL_DEVICE_CONTROL] = DispatchInternalIoctl;
    return STATUS_SUCCESS;
}
