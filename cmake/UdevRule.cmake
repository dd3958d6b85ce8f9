# Writes the udev rule that gives the logged-in user access to the hidraw
# nodes of every device in the table of the shipped configuration.
function(talon_udev_rule config output)
    file(STRINGS ${config} lines)
    set(group "")
    set(rules "")
    foreach(line IN LISTS lines)
        if(line MATCHES "^\\[([0-9]+)\\]$")
            set(group ${CMAKE_MATCH_1})
        elseif(line MATCHES "^\\[")
            set(group "")
        elseif(NOT group STREQUAL "" AND line MATCHES "^(vid|pid)=([0-9a-fA-F]+)$")
            string(TOLOWER ${CMAKE_MATCH_2} value)
            set(${CMAKE_MATCH_1}_${group} ${value})
            list(APPEND groups ${group})
        endif()
    endforeach()
    list(REMOVE_DUPLICATES groups)
    foreach(g IN LISTS groups)
        if(DEFINED vid_${g} AND DEFINED pid_${g})
            string(APPEND rules
                "KERNEL==\"hidraw*\", ATTRS{idVendor}==\"${vid_${g}}\", ATTRS{idProduct}==\"${pid_${g}}\", TAG+=\"uaccess\"\n")
        endif()
    endforeach()
    file(WRITE ${output}
        "# Kestrel Talon: read and write access to the mouse's HID interfaces for the\n"
        "# user logged in at the seat (no world-writable nodes). Generated from the\n"
        "# device table of modules/setting/apConfig.bin.\n"
        "${rules}")
endfunction()
