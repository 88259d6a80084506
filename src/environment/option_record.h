#pragma once
// The switches of the data file's OPTION section (one byte each, 1 = on).
struct OPTION_RECORD {
    unsigned char usbOnly = 0;
    unsigned char network = 0;
    unsigned char remoteInstall = 0;  // set by the remote-install command, never by OPTION
    unsigned char deviceInstall = 1;
    unsigned char showInstError = 0;
    unsigned char rightAlign = 0;
    unsigned char precreateDlg = 1;
    unsigned char mainOnly = 0;
    unsigned char autoPrinterCmd = 0;
    unsigned char setSourcePath = 0;
    unsigned char usePublicOid = 0;
    unsigned char useIpx = 0;
    unsigned char stopFirewall = 0;
    unsigned char agfa = 0;
    unsigned char agfaGiven = 0;  // AGFA was present: the item model must not switch it itself
};
