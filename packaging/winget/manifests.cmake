# Writes the winget manifests of the installer SETUP into the folder OUT, with
# VERSION, the installer's file name and its SHA-256 filled in:
#   cmake -DSETUP=... -DVERSION=1.0.4 -DOUT=... -P manifests.cmake
file(SHA256 ${SETUP} SHA256)
string(TOUPPER ${SHA256} SHA256)
get_filename_component(SETUP_NAME ${SETUP} NAME)
file(GLOB templates ${CMAKE_CURRENT_LIST_DIR}/*.yaml.in)
foreach(template ${templates})
  get_filename_component(name ${template} NAME)
  string(REGEX REPLACE "\\.in$" "" name ${name})
  configure_file(${template} ${OUT}/${name} @ONLY)
endforeach()
