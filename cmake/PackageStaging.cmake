# Run by CPack on the staged files before it builds the package: the
# samples in /etc/pellory that the install step put there are left out,
# because on a shop's machine the package's scripts put them in place only
# where no file is yet (see Install.cmake).
set(config_dir "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/etc/pellory")
file(REMOVE "${config_dir}/BrandsPrices.txt" "${config_dir}/pellory.conf")
file(GLOB left "${config_dir}/*")
if(NOT left)
    file(REMOVE_RECURSE "${config_dir}")
endif()
