-- smoke.lua - driven through tmux by interactive_smoke.sh: the error report
-- waits for Enter; then every key that arrives is shown by its code on rows
-- 5 and 6, and a scan made with F6 is counted on row 8.
forms.run("NOTHING")
terminal.put_text(4, 0, "keys:")
local codes = {}
while true do
  forms.main(1)  -- gives the terminal a chance to read the keyboard
  local code = terminal.read_key()
  if code then
    codes[#codes + 1] = code
    local text = table.concat(codes, " ")
    terminal.put_text(5, 0, text:sub(1, 40))
    terminal.put_text(6, 0, text:sub(41))
  end
  if terminal.pending_scans() > 0 then
    terminal.put_text(8, 0, "scans: " .. terminal.pending_scans())
  end
end
