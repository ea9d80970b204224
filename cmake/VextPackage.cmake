# The installed package: the CMake package that find_package(Vext) reads
# and one pkg-config file per library. Included last, when every library
# of the suite has declared itself in the global property VEXT_LIBRARIES.
# The libraries and the program install themselves (vext_library,
# platform/, converter/); this file adds what describes them to a host.
include(CMakePackageConfigHelpers)

set(VEXT_CMAKE_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Vext)
set(VEXT_PKGCONFIG_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
get_property(vext_libraries GLOBAL PROPERTY VEXT_LIBRARIES)
list(REMOVE_DUPLICATES vext_libraries)

# What each library is, for its pkg-config file.
set(vext_description_VextPlatform "Windows and MFC stand-ins shared by every component (strings, archives, files, registry, XML DOM, user interface)")
set(vext_description_VextEnv "Installation, data, common and documents folders of the suite (CVextEnv)")
set(vext_description_xmlSncEnv "Tells whether an XML DOM parser is registered (ChkMsxmlVer)")
set(vext_description_VEXTMSG "Modeless wait dialog with an animation (CWaitDlg)")
set(vext_description_SnXmlConv "ContactXML and DenpyoXML import and export (CContactXmlConv, CXMLConv)")
set(vext_description_RecConv "Form-record text import and export (CVextCnvProc)")
set(vext_description_SlipCatalog "Slip-form catalogue archives and lookups (CSlipCatalog)")
set(vext_description_FmtQuery "Data-entry field counts and names of a form format (CFmtDataGet)")
set(vext_description_BarShim "Barcode wrapper over Barcode2 (CBarWrap)")
set(vext_description_Barcode2 "Barcode renderer with a flat C interface, drawn by libzint (Barcode...)")

# The public headers use C++20 (the _sj literals); a host compiling against
# the imported targets gets the standard with them.
foreach(lib IN LISTS vext_libraries)
  target_compile_features(${lib} PUBLIC cxx_std_20)
endforeach()

# The pkg-config files find the prefix relative to themselves, so that
# `cmake --install build --prefix DIR` gives correct files for any DIR.
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
  set(VEXT_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
  set(VEXT_PC_LIBDIR "${CMAKE_INSTALL_LIBDIR}")
else()
  file(RELATIVE_PATH vext_pc_up "/prefix/${VEXT_PKGCONFIG_INSTALL_DIR}" "/prefix")
  string(REGEX REPLACE "/$" "" vext_pc_up "${vext_pc_up}")
  set(VEXT_PC_PREFIX "\${pcfiledir}/${vext_pc_up}")
  set(VEXT_PC_LIBDIR "\${prefix}/${CMAKE_INSTALL_LIBDIR}")
endif()
if(IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
  set(VEXT_PC_INCLUDEDIR "${CMAKE_INSTALL_INCLUDEDIR}")
else()
  set(VEXT_PC_INCLUDEDIR "\${prefix}/${CMAKE_INSTALL_INCLUDEDIR}")
endif()

# Outside packages that a library's link interface names; the CMake
# package finds them again for the host, the pkg-config file requires them.
set(VEXT_NEEDS_THREADS OFF)
set(VEXT_NEEDS_LIBXML2 OFF)

foreach(lib IN LISTS vext_libraries)
  set(requires "")
  set(extra_libs "")
  get_target_property(links ${lib} INTERFACE_LINK_LIBRARIES)
  if(NOT links)
    set(links "")
  endif()
  foreach(item IN LISTS links)
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
    if(item MATCHES "^\\$<" OR item STREQUAL "")
      continue()
    elseif(item IN_LIST vext_libraries)
      list(APPEND requires ${item})
    elseif(item STREQUAL "PkgConfig::LIBXML2")
      list(APPEND requires libxml-2.0)
      set(VEXT_NEEDS_LIBXML2 ON)
    elseif(item STREQUAL "Threads::Threads")
      string(APPEND extra_libs " -pthread")
      set(VEXT_NEEDS_THREADS ON)
    elseif(item MATCHES "^-")
      string(APPEND extra_libs " ${item}")
    elseif(NOT TARGET ${item})
      string(APPEND extra_libs " -l${item}")
    else()
      message(WARNING "${lib} links ${item} publicly, which the installed package cannot provide")
    endif()
  endforeach()
  list(JOIN requires ", " VEXT_PC_REQUIRES)
  set(VEXT_PC_EXTRA_LIBS "${extra_libs}")
  set(VEXT_PC_NAME ${lib})
  get_target_property(output_name ${lib} OUTPUT_NAME)
  if(NOT output_name)
    set(output_name ${lib})
  endif()
  set(VEXT_PC_LIBRARY ${output_name})
  if(DEFINED vext_description_${lib})
    set(VEXT_PC_DESCRIPTION "${vext_description_${lib}}")
  else()
    set(VEXT_PC_DESCRIPTION "Vext library ${lib}")
  endif()
  configure_file(${CMAKE_CURRENT_LIST_DIR}/VextLibrary.pc.in ${PROJECT_BINARY_DIR}/pkgconfig/${lib}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/${lib}.pc DESTINATION ${VEXT_PKGCONFIG_INSTALL_DIR})
endforeach()

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/VextConfig.cmake.in
  ${PROJECT_BINARY_DIR}/VextConfig.cmake
  INSTALL_DESTINATION ${VEXT_CMAKE_INSTALL_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VextConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VextConfig.cmake ${PROJECT_BINARY_DIR}/VextConfigVersion.cmake
  DESTINATION ${VEXT_CMAKE_INSTALL_DIR})
install(EXPORT VextTargets
  NAMESPACE Vext::
  FILE VextTargets.cmake
  DESTINATION ${VEXT_CMAKE_INSTALL_DIR})
