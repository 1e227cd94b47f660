# The VAT white-list client and its dialog, against a local HTTPS server of the test's own.
brevant_test(test_whitelist SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_whitelist.cpp
             LIBS brevant_whitelist brevant_testhttps)
brevant_test(test_frm_pobierz_konta SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_frm_pobierz_konta.cpp
             LIBS brevant_whitelist_ui brevant_testdb brevant_testhttps GUI)
brevant_test(test_zapis_pod_blokada SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_zapis_pod_blokada.cpp
             LIBS brevant_whitelist brevant_testdb)
brevant_test(test_pobierz_w_rejestrze SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_pobierz_w_rejestrze.cpp
             LIBS brevant_whitelist_ui brevant_contractors_ui brevant_testdb brevant_testhttps GUI)
