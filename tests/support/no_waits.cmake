# Fails, naming every place, when the program's code waits: a nested event loop
# (processEvents, QEventLoop, a dialog, box or menu run with exec()) or a sleep (QThread::sleep,
# msleep, usleep, std::this_thread::sleep_for, sleep_until). The program's code is every source
# file of the repository outside tests/, bench/, tools/ and the build trees (build*/). A wait
# that runs on a worker thread, never on the GUI thread, may stay when its line says so with the
# marker "// worker thread".
#
# Dialogs, boxes and menus open without waiting (show, popup) and hand their answer to a handler.
# Any call of exec() counts as a loop, `box.exec()`, `menu->exec(at)` and a dialog's own `exec()`
# alike, except the application's own loop (QApplication::exec, QCoreApplication::exec), which
# nests in nothing, and the places of the allow list below.
#
#   cmake -DSOURCE_DIR=<repository> -P no_waits.cmake

if(NOT IS_DIRECTORY "${SOURCE_DIR}")
    message(FATAL_ERROR "SOURCE_DIR must name the repository")
endif()

set(wait "processEvents|QEventLoop|QThread::(m|u)?sleep|this_thread::sleep_(for|until)")
set(marker "// worker thread")
# exec( not preceded by a part of a name (execute, myExec); the application's loop is cut out of
# the line before it is searched.
set(execCall "(^|[^_A-Za-z0-9])exec[ \t]*\\(")
set(applicationLoop "Q(Core|Gui)?Application::exec[ \t]*\\(")
# The loops that stay, each a file and the text of its line:
set(allowedLoops
    # The fatal error box is its own loop on purpose: after an error that no command handled,
    # nothing of the program runs until the user chose to go on or to end.
    "actions/fatal_error.cpp|box\\.exec\\(\\)"
    # Qt's drag and drop: the dragged entry moves in the loop of QDrag, which has no other form.
    # The playlist stays as it is while its drags run (its Busy).
    "cassettes/select_frm.cpp|drag->exec\\(Qt::MoveAction\\)"
    "playlist/play_list_view.cpp|drag->exec\\(Qt::MoveAction"
    "playlist/registered_file_tree_drag.cpp|drag->exec\\(Qt::MoveAction"
)

file(GLOB entries RELATIVE "${SOURCE_DIR}" LIST_DIRECTORIES true "${SOURCE_DIR}/*")
set(sources)
foreach(entry IN LISTS entries)
    if(NOT IS_DIRECTORY "${SOURCE_DIR}/${entry}" OR entry MATCHES "^(\\.|tests$|bench$|tools$|build)")
        continue()
    endif()
    file(GLOB_RECURSE found "${SOURCE_DIR}/${entry}/*.cpp" "${SOURCE_DIR}/${entry}/*.h"
        "${SOURCE_DIR}/${entry}/*.hpp" "${SOURCE_DIR}/${entry}/*.cc")
    list(APPEND sources ${found})
endforeach()
file(GLOB top "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.h")
list(APPEND sources ${top})
list(SORT sources)

set(places)
foreach(source IN LISTS sources)
    file(READ "${source}" content)
    if(NOT content MATCHES "${wait}" AND NOT content MATCHES "${execCall}")
        continue()
    endif()
    # One list element a line: the characters that CMake lists treat specially are masked.
    string(REPLACE "\\" "<bs>" content "${content}")
    string(REPLACE ";" "<sc>" content "${content}")
    string(REPLACE "[" "<lb>" content "${content}")
    string(REPLACE "]" "<rb>" content "${content}")
    string(REPLACE "\n" ";" lines "${content}")
    file(RELATIVE_PATH name "${SOURCE_DIR}" "${source}")
    set(number 0)
    foreach(line IN LISTS lines)
        math(EXPR number "${number} + 1")
        string(REGEX REPLACE "${applicationLoop}" "" withoutApplicationLoop "${line}")
        set(loop FALSE)
        if(withoutApplicationLoop MATCHES "${execCall}")
            set(loop TRUE)
            foreach(allowed IN LISTS allowedLoops)
                string(REPLACE "|" ";" allowed "${allowed}")
                list(GET allowed 0 allowedFile)
                list(GET allowed 1 allowedText)
                if(name STREQUAL allowedFile AND line MATCHES "${allowedText}")
                    set(loop FALSE)
                endif()
            endforeach()
        endif()
        if(loop OR (line MATCHES "${wait}" AND NOT line MATCHES "${marker}"))
            string(STRIP "${line}" line)
            string(REPLACE "<sc>" ";" line "${line}")
            string(REPLACE "<lb>" "[" line "${line}")
            string(REPLACE "<rb>" "]" line "${line}")
            string(REPLACE "<bs>" "\\" line "${line}")
            string(APPEND places "  ${name}:${number}: ${line}\n")
        endif()
    endforeach()
endforeach()

if(places)
    message(FATAL_ERROR
        "Nothing on the GUI thread may wait in a nested event loop or sleep; found:\n"
        "${places}"
        "A wait on a worker thread says so on its line: ${marker}\n"
        "A dialog, box or menu opens without exec(): show or popup it and take its answer in a "
        "handler.")
endif()
list(LENGTH sources count)
message(STATUS "${count} source files, none waits")
