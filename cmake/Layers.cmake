# Each layer of the product is a static library whose sources reach, by #include "folder/Header.h", only
# what the layer exposes and what the layers it links expose: its include path is a view in the build
# tree made of links to just those folders and headers, so an include that points up a layer does not
# compile.
#   quenvale_layer(<target> SOURCES <file>... EXPOSES <folder or header>... [LINKS <target>...])
function(quenvale_layer target)
    cmake_parse_arguments(LAYER "" "" "SOURCES;EXPOSES;LINKS" ${ARGN})
    add_library(${target} STATIC ${LAYER_SOURCES})
    set(view ${CMAKE_BINARY_DIR}/layers/${target})
    file(REMOVE_RECURSE ${view})
    foreach(path IN LISTS LAYER_EXPOSES)
        get_filename_component(folder ${view}/${path} DIRECTORY)
        file(MAKE_DIRECTORY ${folder})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${path} ${view}/${path} SYMBOLIC)
    endforeach()
    target_include_directories(${target} PUBLIC ${view})
    target_link_libraries(${target} PUBLIC ${LAYER_LINKS})
endfunction()
