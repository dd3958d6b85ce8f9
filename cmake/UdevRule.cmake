# SPDX-License-Identifier: GPL-2.0-or-later
include(${CMAKE_CURRENT_LIST_DIR}/DeviceIds.cmake)

# Writes the udev rule that gives the logged-in user access to the hidraw
# nodes of every device in the table of the shipped configuration.
function(talon_udev_rule config output)
    talon_device_ids(${config} ids)
    set(rules "")
    foreach(id IN LISTS ids)
        string(REPLACE ":" ";" pair ${id})
        list(GET pair 0 vid)
        list(GET pair 1 pid)
        string(APPEND rules
            "KERNEL==\"hidraw*\", ATTRS{idVendor}==\"${vid}\", ATTRS{idProduct}==\"${pid}\", TAG+=\"uaccess\"\n")
    endforeach()
    file(WRITE ${output}
        "# Kestrel Talon: read and write access to the mouse's HID interfaces for the\n"
        "# user logged in at the seat (no world-writable nodes). Generated from the\n"
        "# device table of modules/setting/apConfig.bin.\n"
        "${rules}")
endfunction()

# AppStream modalias globs of the same devices, so that software centres offer
# the program when the mouse is plugged in.
function(talon_modaliases config out)
    talon_device_ids(${config} ids)
    set(xml "")
    foreach(id IN LISTS ids)
        string(REPLACE ":" ";" pair ${id})
        list(GET pair 0 vid)
        list(GET pair 1 pid)
        string(TOUPPER ${vid} vid)
        string(TOUPPER ${pid} pid)
        string(APPEND xml "    <modalias>usb:v${vid}p${pid}*</modalias>\n")
    endforeach()
    set(${out} ${xml} PARENT_SCOPE)
endfunction()
