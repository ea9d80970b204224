# The installed CMake package (find_package(Vext)) and pkg-config files.
# Filled in with the install rules of the libraries.
