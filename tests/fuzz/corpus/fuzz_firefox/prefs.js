// mozilla user preferences file
user_pref("browser.startup.homepage", "https://example.org/|about:home");
user_pref("browser.startup.page", 1);
user_pref("a.b", false);
/* block
 comment */
# hash
user_pref("c", "\u00e9\x41\"\\\n");
