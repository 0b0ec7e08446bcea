"""The 2048-byte device image of a profile, written from the mouse's image layout alone (Python
standard library, no project code). Shared by the independent checks of the files orva7100ctl
writes and of the reports it sends.
"""
import struct


def u8(v):
    return struct.pack("<B", v & 0xFF)


def u16(v):
    return struct.pack("<H", v & 0xFFFF)


USAGE = {}


def _map_range(first_vk, first_usage, count):
    for i in range(count):
        USAGE[first_vk + i] = first_usage + i


_map_range(0x41, 0x04, 26)            # A-Z
_map_range(0x31, 0x1E, 9)             # 1-9
USAGE[0x30] = 0x27                   # 0
for vk, usage in [(0x0D, 0x28), (0x1B, 0x29), (0x08, 0x2A), (0x09, 0x2B), (0x20, 0x2C),
                  (0xBD, 0x2D), (0xBB, 0x2E), (0xDB, 0x2F), (0xDD, 0x30), (0xDC, 0x31),
                  (0xBA, 0x33), (0xDE, 0x34), (0xC0, 0x35), (0xBC, 0x36), (0xBE, 0x37),
                  (0xBF, 0x38), (0x14, 0x39),
                  (0x2C, 0x46), (0x91, 0x47), (0x13, 0x48), (0x03, 0x48),
                  (0x2D, 0x49), (0x24, 0x4A), (0x21, 0x4B), (0x2E, 0x4C), (0x23, 0x4D),
                  (0x22, 0x4E),
                  (0x27, 0x4F), (0x25, 0x50), (0x28, 0x51), (0x26, 0x52),
                  (0x90, 0x53), (0x6F, 0x54), (0x6A, 0x55), (0x6D, 0x56), (0x6B, 0x57),
                  (0x60, 0x62), (0x6E, 0x63), (0x5D, 0x65), (0xAF, 0x80), (0xAE, 0x81),
                  (0xA2, 0xE0), (0xA0, 0xE1), (0xA4, 0xE2), (0x5B, 0xE3),
                  (0xA3, 0xE4), (0xA1, 0xE5), (0xA5, 0xE6), (0x5C, 0xE7)]:
    USAGE[vk] = usage
_map_range(0x70, 0x3A, 12)            # F1-F12
_map_range(0x61, 0x59, 9)             # numpad 1-9


def key_to_usage(code):
    code &= 0xFFFF
    return USAGE.get(code, code)


IMAGE_SIZE = 2048
FIXED_PART = 179


def block_size(macro):
    return 20 + 7 * len(macro["events"])


def encode_image(p, firmware):
    """Returns the image bytes, or None when the macro blocks do not fit."""
    img = bytearray(IMAGE_SIZE)
    colour = p["ledColour"] & 0xFFFFFFFF
    rgb = bytes([colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF])
    img[4] = p["index"] & 0xFF
    img[5] = 2
    for s in range(3):
        x, y = p["dpi"][s]
        img[6 + 7 * s:6 + 7 * s + 7] = u16(x) + u16(y) + rgb
    for c in range(7):
        img[62 + 3 * c:65 + 3 * c] = rgb
    mode = p["ledMode"]
    if mode == 15:
        kind = 0
    elif mode == 0:
        kind = 1
    elif mode & 0x10:
        kind = 3
    else:
        kind = 0
    img[83] = kind
    img[84] = mode & 0xFF
    img[85] = p["liftDistance"] & 0xFF
    if firmware < 109:
        img[86] = p["reportRate"] & 0xFF
        img[87] = 0
    else:
        img[86] = 0
        img[87] = p["reportRate"] & 0xFF
    # addresses
    addresses = []
    offset = FIXED_PART
    for k in range(7):
        b = p["buttons"][k]
        if b["function"] == 13:
            addresses.append(132 + 3 * k)
        elif b["function"] == 14:
            addresses.append(offset)
            offset += block_size(p["macros"][k])
        else:
            addresses.append(0xFFFF)
    total = offset
    if total > IMAGE_SIZE:
        return None
    for k in range(7):
        b = p["buttons"][k]
        img[88 + 4 * k:92 + 4 * k] = u8(b["buttonIndex"]) + u8(b["function"]) + u16(addresses[k])
        number = addresses[k] if b["function"] == 14 else b["value"]
        img[152 + 3 * k:155 + 3 * k] = u8(1) + u16(key_to_usage(number))
    pos = FIXED_PART
    for k in range(7):
        if p["buttons"][k]["function"] != 14:
            continue
        pos += 20
        for e in p["macros"][k]["events"]:
            d = e["delay"] & 0xFFFFFF
            img[pos:pos + 7] = (u8(e["kind"]) + u16(key_to_usage(e["code"])) + u8(e["action"])
                                + bytes([d & 0xFF, (d >> 8) & 0xFF, (d >> 16) & 0xFF]))
            pos += 7
    assert pos == total
    img[0:2] = u16(total)
    img[2:4] = b"\0\0"
    return bytes(img)
