ombrel_add_e2e_test(smoke smoke_test.sh)
ombrel_add_e2e_test(menus menus_test.sh)
ombrel_add_e2e_test(preferences preferences_test.sh)
ombrel_add_e2e_test(save_open save_open_test.sh)
