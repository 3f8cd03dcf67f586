user_pref("browser.startup.homepage", "file:///home/u/.local/share/Tavrel/To-Do.htm"); // Tavrel List Manager: clear the box in its Options to undo
user_pref("services.sync.prefs.sync.browser.startup.homepage", false); // Tavrel List Manager: clear the box in its Options to undo
