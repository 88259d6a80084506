// Command file: command sections run by pages, buttons and steps.

[START]
CMD_TYPE = CT_OPEN_DLG
CMD_PARAM1 = WELCOME_DLG

[NEXT_PAGE]
CMD_TYPE = CT_NEXT_DLG

[OPEN_MANUAL]
CMD_TYPE = CT_OPEN_DOC
CMD_PARAM1 = $SRC_DIR$\Manual\$LANG_DIR$\index.htm

[END]
CMD_TYPE = CT_APP_TERMINATE
