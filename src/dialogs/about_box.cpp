#include "dialogs/about_box.h"

#include "version.h"

std::string versionText() {
    return "Version " VELKOR_VERSION_TEXT;
}

std::string contactText() {
    return "Velkor-Projekt <" VELKOR_CONTACT ">";
}

std::string contactLink() {
    return "mailto:" VELKOR_CONTACT;
}

void showAboutBox(Platform& p) {
    p.dialogs.showAboutBox([&p] {
        // Without a mail program the address is at least there to copy.
        if (!p.system.openLink(contactLink()))
            p.boxes.show("Es ist kein E-Mail-Programm eingerichtet.\rSchreiben Sie bitte an:\r" +
                             std::string(VELKOR_CONTACT),
                         "Info", mb::Ok | mb::IconExclamation);
    });
}
