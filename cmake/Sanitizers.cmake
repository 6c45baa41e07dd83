# One switch for the whole tree: the library, the program and every test are
# built with the same sanitizers, so a report from any of them fails the run.
if(PELLORY_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer -g)
    add_link_options(-fsanitize=address,undefined)
endif()
