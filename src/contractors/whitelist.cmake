# The VAT white-list client: no widgets, so the command line and the imports use it.
add_library(brevant_whitelist STATIC
    ${CMAKE_CURRENT_LIST_DIR}/uTypyWhiteList.h
    ${CMAKE_CURRENT_LIST_DIR}/uWhiteListFrm.cpp ${CMAKE_CURRENT_LIST_DIR}/uWhiteListFrm.h
    ${CMAKE_CURRENT_LIST_DIR}/PobierzKonta.cpp ${CMAKE_CURRENT_LIST_DIR}/PobierzKonta.h
)
target_include_directories(brevant_whitelist PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(brevant_whitelist PUBLIC brevant_net brevant_data brevant_komun brevant_text
                      Qt6::Core)

# The dialog that fetches, shows and saves a contractor's accounts.
add_library(brevant_whitelist_ui STATIC
    ${CMAKE_CURRENT_LIST_DIR}/frmPobierzKonta.cpp ${CMAKE_CURRENT_LIST_DIR}/frmPobierzKonta.h
)
target_link_libraries(brevant_whitelist_ui PUBLIC brevant_whitelist brevant_ui Qt6::Widgets)
